// Run before main under node: the program sees node's environment (HOME, XDG_DATA_HOME,
// ...) as a native one would, and SHIRAKABA_FONTS names the game font bundled in
// fonts/ beside this script unless the caller names other font files there.
Module['preRun'] = [].concat(Module['preRun'] || [], function () {
  Object.assign(ENV, process.env);
  if (!ENV['SHIRAKABA_FONTS']) ENV['SHIRAKABA_FONTS'] = require('path').join(__dirname, 'fonts', 'ipag.ttf');
});
// A run of the program is short: V8's optimising compiler is kept for the functions
// that run longest (the blends and copies), rather than spent on every function that
// loops a little, which cost more than it saved.
require('v8').setFlagsFromString('--wasm-tiering-budget=200000000');
