message(FATAL_ERROR "not built yet")
