#include "ui/app/startup.h"

int main(int argc, char** argv)
{
    return veldor::RunEditor(argc, argv);
}
