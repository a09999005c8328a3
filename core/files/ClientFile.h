#pragma once

#include <iosfwd>
#include <string>

namespace kelvox {

class TAnswer;
class WSchedList;

inline constexpr const char *kClientFileHeader = "Kelvox Demo";
inline constexpr const char *kClientFileVersion = " 4.12000000000000E+0000";

// Reads a client file into a store the caller has just created and into the
// worksheet table. Returns false when the header (code 33010) or the version
// (code 33020) is refused, or when a flag line is not a number (ErrFlag set, no
// message); the store then keeps what was read. A file that ends early is not a
// failure: the rest reads as empty. Throws FileError when a count, the version
// or the row count is not a number.
bool ReadClientFile(std::istream &in, TAnswer &store, WSchedList &worksheet);

// Writes the whole case. Copies the open worksheet window's rows into the
// table first: that is the caller's part.
void WriteClientFile(std::ostream &out, const TAnswer &store, const WSchedList &worksheet);

// ReadClientFile on the file at path. Throws FileError when it cannot be opened.
bool OpenFile(const std::string &path, TAnswer &store, WSchedList &worksheet);

// Writes the case to a temporary file beside path, flushes it to disk and
// renames it over path; on POSIX the file is readable by its owner only.
// Throws FileError on any failure, and the file that was at path is left as it
// was.
void SaveFile(const std::string &path, const TAnswer &store, const WSchedList &worksheet);

} // namespace kelvox
