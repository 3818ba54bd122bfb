// The program's own start-up and the few runtime pieces it needs, in place of
// the C runtime: nothing here comes prebuilt for a newer processor, and there
// is no msvcrt.dll to find on a bare Windows 95. Built only into crepuscule.exe
// (compiled without built-ins, so that the loops below stay loops).
#include <windows.h>

#include <cstddef>
#include <new>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

namespace {

HANDLE heap;

// What runs at exit: the destructors of static objects, newest first.
using ExitFunction = void (*)();
ExitFunction atExit[64];
int atExitCount;

[[noreturn]] void Fatal(const char* why) {
  FatalAppExitA(0, why);
  ExitProcess(3);
}

void* Allocate(std::size_t size) {
  void* p = HeapAlloc(heap, 0, size ? size : 1);
  if (!p) Fatal("Crepuscule : m\xE9moire insuffisante.");
  return p;
}

// The command line less the program's own name, as the C runtime hands it over.
char* Arguments() {
  char* p = GetCommandLineA();
  if (*p == '"') {
    for (++p; *p && *p != '"'; ++p) {
    }
    if (*p == '"') ++p;
  } else {
    while (*p && *p != ' ' && *p != '\t') ++p;
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

}  // namespace

extern "C" {

// The static constructors, as the linker lists them: -1 (or a count), the
// functions, then 0. They run last to first, as GCC expects.
using Constructor = void (*)();
extern Constructor __CTOR_LIST__[];

[[noreturn]] void WinMainCRTStartup() {
#if defined(__i386__)
  // The x87 rounds to double precision, to nearest, with no exception unmasked,
  // whatever state the process starts in: the same arithmetic as the SSE2 of
  // the 64-bit program and the tests.
  const unsigned short control = 0x027F;
  __asm__ volatile("fninit\n\tfldcw %0" : : "m"(control));
#endif
  heap = GetProcessHeap();
  std::size_t count = 0;
  while (__CTOR_LIST__[count + 1]) ++count;
  for (std::size_t i = count; i > 0; --i) __CTOR_LIST__[i]();

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
  const int result = WinMain(GetModuleHandleA(nullptr), nullptr, Arguments(), show);
  while (atExitCount > 0) atExit[--atExitCount]();
  ExitProcess(static_cast<UINT>(result));
}

int atexit(ExitFunction f) {
  if (atExitCount == static_cast<int>(sizeof atExit / sizeof *atExit)) return -1;
  atExit[atExitCount++] = f;
  return 0;
}

[[noreturn]] void abort() { Fatal("Crepuscule : erreur interne."); }

void* memcpy(void* to, const void* from, std::size_t n) {
  auto* d = static_cast<unsigned char*>(to);
  const auto* s = static_cast<const unsigned char*>(from);
  while (n--) *d++ = *s++;
  return to;
}

void* memmove(void* to, const void* from, std::size_t n) {
  auto* d = static_cast<unsigned char*>(to);
  const auto* s = static_cast<const unsigned char*>(from);
  if (d < s) {
    while (n--) *d++ = *s++;
  } else {
    while (n--) d[n] = s[n];
  }
  return to;
}

void* memset(void* to, int value, std::size_t n) {
  auto* d = static_cast<unsigned char*>(to);
  while (n--) *d++ = static_cast<unsigned char>(value);
  return to;
}

int memcmp(const void* a, const void* b, std::size_t n) {
  const auto* x = static_cast<const unsigned char*>(a);
  const auto* y = static_cast<const unsigned char*>(b);
  for (; n--; ++x, ++y)
    if (*x != *y) return *x < *y ? -1 : 1;
  return 0;
}

void* memchr(const void* from, int value, std::size_t n) {
  const auto* s = static_cast<const unsigned char*>(from);
  for (; n--; ++s)
    if (*s == static_cast<unsigned char>(value)) return const_cast<unsigned char*>(s);
  return nullptr;
}

std::size_t strlen(const char* s) {
  std::size_t n = 0;
  while (s[n]) ++n;
  return n;
}

std::size_t wcslen(const wchar_t* s) {
  std::size_t n = 0;
  while (s[n]) ++n;
  return n;
}

// Whole numbers only matter here: halves go away from zero, as lround does.
double floor(double x) {
  // From 2^52 on every double is whole; NaN and zeros go back as they are.
  if (!(x > -4503599627370496.0 && x < 4503599627370496.0) || x == 0) return x;
  auto whole = static_cast<double>(static_cast<long long>(x));
  return whole > x ? whole - 1 : whole;
}

long lround(double x) {
  const double down = floor(x < 0 ? -x : x);
  const double r = (x < 0 ? -x : x) - down >= 0.5 ? down + 1 : down;
  return static_cast<long>(x < 0 ? -r : r);
}

}  // extern "C"

// The C++ library's few compiled pieces that its headers call.
void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return HeapAlloc(heap, 0, size ? size : 1); }
void operator delete(void* p) noexcept {
  if (p) HeapFree(heap, 0, p);
}
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { operator delete(p); }

namespace std {
const nothrow_t nothrow{};
[[noreturn]] void __throw_length_error(const char*) { abort(); }
[[noreturn]] void __throw_logic_error(const char*) { abort(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { abort(); }
[[noreturn]] void __throw_bad_alloc() { abort(); }
[[noreturn]] void __throw_bad_array_new_length() { abort(); }
[[noreturn]] void __throw_bad_function_call() { abort(); }
}  // namespace std
