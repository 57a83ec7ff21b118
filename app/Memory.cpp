// The program's own allocation functions. The program is built without C++
// exceptions, so running out of memory cannot throw: it is a fatal failure,
// like running out of memory for a text. Replacing the library's versions
// also keeps its exception machinery out of the executable.

#include "colour/FatalFailure.h"

#include <cstdlib>
#include <new>

void* operator new(std::size_t bytes)
{
    if (void* memory = std::malloc(bytes ? bytes : 1))
        return memory;
    FatalFailure("There is not enough memory to go on.");
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

// A pure virtual call is a bug; end at once instead of pulling in the
// library's verbose terminate handler.
extern "C" void __cxa_pure_virtual()
{
    std::abort();
}
