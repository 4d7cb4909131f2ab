// The program entry: Vestrix takes no command-line options.
#include "app/vtxStartup.h"

int main(int argc, char** argv) {
    return RunVestrix(argc, argv);
}
