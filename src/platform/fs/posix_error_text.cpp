// The system's own words for an errno value, as strerror gives them in the C locale.
#include <cerrno>
#include <cstring>

#include "platform/fs/file_system.h"

namespace lumaveil::fs {

std::string ErrorText(int error) {
  if (error == 0) return "unknown error";
  char buffer[256] = {};
  // The GNU strerror_r returns its text, which need not be in the buffer.
  const char* text = strerror_r(error, buffer, sizeof buffer);
  return text ? text : "unknown error";
}

int LastErrorNumber() { return errno; }

}  // namespace lumaveil::fs
