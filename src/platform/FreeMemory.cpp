#include "platform/FreeMemory.h"

// Any C library header tells which C library it is.
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tastolino {

void ReturnFreeMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

}  // namespace tastolino
