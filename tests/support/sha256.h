// SHA-256 of a byte string, as lower-case hex, for checking decoded bytes against published
// digests. Test-only; plain FIPS 180-4 with no speed tricks.
#pragma once

#include <string>

// Returns the 64-character lower-case hex SHA-256 digest of bytes.
std::string Sha256Hex(const std::string& bytes);
