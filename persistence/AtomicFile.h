#pragma once

#include <string>
#include <string_view>

namespace quillbury {

// Replaces the file at path with bytes so that a reader sees either the old file or the whole new
// one: the bytes go to a temporary file in the same folder, which is flushed to disk and renamed
// over path. Returns true on success. On failure returns false, puts the reason into *error (when
// given), removes the temporary file and leaves any earlier file at path untouched.
//
// A symbolic link is followed: its target is replaced and the link stays. A target that is
// read-only, or in a folder that is not writable, is refused before anything is written, and
// never written in place. After a successful write, temporary files of this naming in the same
// folder that are older than an hour (left by a save that was killed) are removed.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr);

// Why a file at path could not be replaced, found before writing.
enum class ReplaceProblem { None, ReadOnly, FolderNotWritable, NotAFile, TooManyLinks };

// The file a write to path would replace (symbolic links followed) into *target, and whether it
// may be replaced. Read-only means: not writable for us, or without any write permission at all,
// so that even the superuser does not replace a file its owner protected.
ReplaceProblem CheckReplaceable(const std::string& path, std::string* target);

// True for a file name that WriteFileAtomically gives its temporary files.
bool IsTemporaryFileName(std::string_view name);

// Removes temporary files of our naming in folder whose last change is older than maxAgeSeconds.
void RemoveStaleTemporaries(const std::string& folder, long maxAgeSeconds);

}  // namespace quillbury
