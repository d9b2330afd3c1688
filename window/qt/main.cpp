#include "program.h"

int main(int, char *argv[])
{
    return Program::run(argv[0]);
}
