#include "shell/commandline.h"

#include <csignal>

int main(int argc, char *argv[])
{
#ifdef SIGXFSZ
    // Past a file size limit a write must fail and be reported, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    return Brenvik::runBrenvik(argc, argv);
}
