// The one failure of the kpx commands: a message that names the file, entry or field and says what
// is wrong. Thrown anywhere in the host tool and reported once, by RunCommand. Host only.
#pragma once

#include <stdexcept>

struct KpxError : std::runtime_error {
  using std::runtime_error::runtime_error;
};
