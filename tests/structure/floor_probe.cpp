// Compiled, never run, by the tests in CMakeLists.txt: a file of a floor that
// includes a header of a folder it links, and with ZUV_PROBE_UPWARD also one
// of a folder above it, which must not build.
#include ZUV_PROBE_OWN
#ifdef ZUV_PROBE_UPWARD
#include ZUV_PROBE_UPWARD
#endif
