// Where the program lives: its file, its folder (with the "hlp" help
// folder and "qor.css") and the address of its built-in style sheet. The
// program sets these at start; tests point them at temporary folders.
#pragma once

#include <filesystem>
#include <string>

// The program file's full path; the folder is its parent.
void SetProgramFile(const std::filesystem::path& programFile);
const std::filesystem::path& ProgramFile();
std::filesystem::path ProgramFolder();

// The address the pages use for the built-in style sheet.
void SetBuiltInStyleSheetAddress(const std::string& address);
const std::string& BuiltInStyleSheetAddress();
