// The platform layer on Windows: entropy from the system's generator and one
// key read from the console with the console library's _getch.

// Asks <stdlib.h> for rand_s, which draws from the system's generator.
#define _CRT_RAND_S

#include <conio.h>
#include <stdlib.h>
#include <windows.h>

#include <chrono>

#include "platform.h"

namespace platform {
namespace {

// _getch announces an arrow or function key with 0 or 0xE0 and returns the
// key's code on the next call.
bool is_extended_key_prefix(int key) { return key == 0x00 || key == 0xE0; }

}  // namespace

std::uint64_t entropy() {
  unsigned int high = 0;
  unsigned int low = 0;
  if (rand_s(&high) == 0 && rand_s(&low) == 0) {
    return (static_cast<std::uint64_t>(high) << 32U) | low;
  }
  // Still differs from run to run.
  return static_cast<std::uint64_t>(
             std::chrono::steady_clock::now().time_since_epoch().count()) ^
         GetCurrentProcessId();
}

int getch() {
  // The key comes from the console itself, never from standard input, which
  // may be a file or hold unread text. No console, no wait.
  const HANDLE console =
      CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (console == INVALID_HANDLE_VALUE) return -1;
  DWORD mode = 0;
  const bool is_console = GetConsoleMode(console, &mode) != 0;
  // Only a key pressed now ends the wait, not one typed ahead.
  if (is_console) FlushConsoleInputBuffer(console);
  CloseHandle(console);
  if (!is_console) return -1;

  // _getch reads with Ctrl-C processing off, so every key counts, and gives
  // the console its modes back itself.
  const int key = _getch();
  if (is_extended_key_prefix(key)) _getch();
  return key;
}

}  // namespace platform
