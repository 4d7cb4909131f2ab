// The sample parish generator of the benchmarks, built into this test program so
// that its folders can be checked here.
#include "../../bench/support/SampleNames.cpp"
#include "../../bench/support/SampleParish.cpp"
#include "../../bench/support/SampleParishServices.cpp"
#include "../../bench/support/TableFileWriter.cpp"
