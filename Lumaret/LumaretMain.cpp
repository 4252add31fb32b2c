// The main program: theApp lives with the program's classes; main runs the framework.
#include "mivo/appmain.h"

int main(int argc, char** argv)
{
    return mivo::AfxMainEntry(argc, argv);
}
