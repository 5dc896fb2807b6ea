// The file that keeps the operator's choices for one design beside its
// output: D + B + ".tavrolin", in the profile (INI) format, UTF-16LE with a
// byte-order mark, written at every export through a temporary file. The
// format is described in docs/choices-file-format.md. Reading it never
// throws: a file that cannot be used says why, and is left as it is.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "layers/board_choices.h"

namespace layers {

inline constexpr wchar_t kChoicesFileExtension[] = L".tavrolin";
// The format this program writes; a file of a later one is not read.
inline constexpr int kChoicesFormatVersion = 1;

enum class ChoicesFileState {
  Missing,      // no such file
  Read,         // the choices are there
  Unreadable,   // the file is there but cannot be opened or read
  Empty,        // nothing but blank lines
  Damaged,      // not this format, cut short, or a value out of form
  OtherDesign,  // written for a design of another file name
  Newer,        // written in a later format
};

struct ChoicesFile {
  ChoicesFileState state = ChoicesFileState::Missing;
  BoardChoices choices;  // when Read
  std::wstring design;   // the design file name the file was written for
};

// The lines of the file for the design `designName` (its file name with
// the extension, as the editor shows it).
std::vector<std::wstring> choicesFileLines(const BoardChoices& choices,
                                           const std::wstring& designName);
// The choices of such lines when they were written for `designName`
// (compared regardless of letter case).
ChoicesFile choicesFromLines(const std::vector<std::wstring>& lines,
                             const std::wstring& designName);

// Throws base::AppError when the file cannot be written; an older file is
// then left as it was.
void writeChoicesFile(const std::filesystem::path& path, const BoardChoices& choices,
                      const std::wstring& designName);
ChoicesFile readChoicesFile(const std::filesystem::path& path, const std::wstring& designName);

// The bottom band's line for a file that was not used: one Russian sentence
// naming the file by `fileName` and why it was passed over; empty for a
// missing file.
std::wstring passedOverLine(const ChoicesFile& file, const std::wstring& fileName);
// The bottom band's line after a restore: when the file was written
// (`savedAt`, as the operator reads dates) and what the restore could not
// take over.
std::wstring restoredLine(const std::wstring& savedAt, const RestoreNotes& notes);
// The message after an export whose choices file could not be written.
std::wstring saveFailedText(const std::wstring& path);

}  // namespace layers
