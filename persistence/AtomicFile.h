#pragma once

#include <string>
#include <string_view>

namespace quillbury {

// Replaces the file at path with bytes so that a reader sees either the old file or the whole new
// one: the bytes go to a temporary file in the same folder, which is flushed to disk and renamed
// over path. Returns true on success. On failure returns false, puts the reason into *error (when
// given), removes the temporary file and leaves any earlier file at path untouched.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr);

}  // namespace quillbury
