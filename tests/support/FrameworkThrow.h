// Framework exceptions are thrown as pointers: a test that expects one deletes it, as every catch must.
#pragma once

#include <mfc.h>

namespace mivo::test {

// True when `call` throws a framework exception of type T; whatever it throws is deleted.
template <class T, class Call>
bool ThrowsFrameworkException(Call&& call)
{
    try {
        call();
    } catch (T* e) {
        e->Delete();
        return true;
    } catch (CException* e) {
        e->Delete();
    }
    return false;
}

}  // namespace mivo::test
