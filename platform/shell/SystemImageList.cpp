#include "ShellItem.h"

namespace mivo {

DWORD_PTR SystemImageList(bool)
{
    return 0;
}

}  // namespace mivo
