// What happens when an exception escapes everything: the program ends, as the library's own
// handler would end it. That handler first names the exception's type on standard error, which a
// windowed program has nowhere to show, and to spell the name it brings a C++ name demangler of
// some 40 KB into the diskette's setup program. Defining it here keeps the library's copy out.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler()
{
    std::abort();
}

}  // namespace __gnu_cxx
