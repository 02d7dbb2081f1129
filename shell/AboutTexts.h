// The texts of the About box and the contact box.
#pragma once

#include <string>

inline constexpr const char* kProgramTitle = "QOR";
inline constexpr const char* kVersionLine = "Version: 7.0";
inline constexpr const char* kWebAddress = "https://qor.example.org/";
inline constexpr const char* kMailAddress = "keys@qor.example.org";

// "Build: " with the compiler's build date and time ("Feb  7 2010",
// "11:45:46"), blanks single: "Build: Feb 7 2010 11:45:46".
std::string BuildLine(const std::string& date, const std::string& time);

// What a click on a contact link opens: the web address, or the mail
// address in its "mailto:" form; empty for a label that is no link.
std::string ContactLinkTarget(const std::string& linkName);
