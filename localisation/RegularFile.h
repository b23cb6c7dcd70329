#pragma once

#include <cstddef>
#include <string>

namespace quillbury {

// Why a data file could not be read. Only regular files are read: opening a named pipe or a
// device would wait for a writer that never comes, and a folder is never a data file.
enum class FileProblem { None, Missing, Folder, Pipe, Device, NotRegular, TooLarge, Unreadable };

// What is at path (symbolic links followed): None for a regular file, else the problem.
FileProblem CheckRegularFile(const std::string& path);

// Opens path for reading when it is a regular file, without ever blocking; the descriptor is
// blocking again when returned. -1 with *problem set otherwise.
int OpenRegularFile(const std::string& path, FileProblem* problem);

// Reads the whole regular file at path into bytes, refusing files larger than maxSize before
// reading any of them. None on success.
FileProblem ReadRegularFile(const std::string& path, std::size_t maxSize, std::string& bytes);

}  // namespace quillbury
