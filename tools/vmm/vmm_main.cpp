#include <iostream>

#include "tools/vmm/commands.h"

int main(int argc, char** argv)
{
    VmmArgs args(argv + 1, argv + argc);
    return VmmMain(args, std::cout, std::cerr);
}
