#include "program.h"

int main()
{
    Program::run();
    return 0;
}
