// The print-site chooser's program: its one application object.
#include "OrderApp.h"

#include "mivo/appmain.h"

COrderApp theApp;

int main(int argc, char** argv)
{
    return mivo::AfxMainEntry(argc, argv);
}
