// What happens when an exception escapes everything: the same report as any
// fatal error. Replacing libstdc++'s verbose handler also keeps its C++
// name demangler, a quarter of the executable's size, out of kx_shell.exe.
#include <exception>

#include "program_end.h"

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
void __verbose_terminate_handler() { win32::ReportFatal(FailureOf(std::current_exception())); }
}  // namespace __gnu_cxx
#endif
