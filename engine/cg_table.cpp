#include "engine/cg.h"

namespace shirakaba {

const CGRec GameCGTable[kCGs + 1] = {
    {0, 0, 0, 0, ""},
    {1, 0, 0, 0, "t_job1.bmp"},
    {2, 0, 0, 0, "t_job2.bmp"},
    {3, 0, 0, 0, "t_job3.bmp"},
    {4, 0, 0, 0, "t_job4.bmp"},
    {5, 0, 0, 0, "春未E1.bmp"},
    {6, 0, 0, 0, "春未E4.bmp"},
    {7, 0, 0, 0, "春未E5.bmp"},
};

}  // namespace shirakaba
