// The runtime's text files: numbered files opened for input and read line by line.
// Lines end at CR or CR LF (a lone LF ends one too); bytes are read in the locale's
// character set and handed out as UTF-8. A file is read a block at a time as its lines
// are asked for, so what is never asked for is never read.
#pragma once

#include <cstddef>
#include <string>

namespace tk {

int FreeFile();  // the lowest unused file number
// Error 53 when missing. Only a regular file opens: a folder, a FIFO or a device raises
// 75 (Path/File access error), and nothing is ever waited on.
void OpenForInput(int file_number, const std::string& path);
std::string LineInput(int file_number);  // error 62 past the end
// The next piece of the current line, at most `max_bytes` long (a character is never
// split), so that a very long line can be taken a piece at a time. `line_ended` tells
// whether the piece ends its line; the line's end is then read past. Error 62 past the end.
std::string LineInputPiece(int file_number, std::size_t max_bytes, bool& line_ended);
bool Eof(int file_number);
void Close(int file_number);  // closing a closed number does nothing

// Opens a regular file for reading as OpenForInput does, never waiting on it: its
// descriptor (close-on-exec), or -1 with errno set, EINVAL when it is no regular file.
int OpenRegularFile(const std::string& path);

// Whether `path` names a regular file (not a folder, a FIFO or a device), found without
// opening it.
bool IsRegularFile(const std::string& path);

// Dir(path) with normal attributes: the file's name when `path` names an existing
// regular, non-hidden file, else the empty text. Folders never match. A name that no
// file can have raises error 52.
std::string DirNormal(const std::string& path);

}  // namespace tk
