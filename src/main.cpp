#include "shell/commandline.h"

int main(int argc, char *argv[])
{
    return Brenvik::runBrenvik(argc, argv);
}
