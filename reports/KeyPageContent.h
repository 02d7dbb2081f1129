// What the program serves of a key's folder to its pages, and how. A key's
// files are shown, never run: only types that carry no script are served,
// and every HTML page goes out with a policy that lets it show its own
// pictures, styles and frames but run no script, embed no plug-in, submit
// no form and connect nowhere.
#pragma once

#include <optional>
#include <string>

namespace key_page {

// The content type a file is served as, by its name's ending (any letter
// case); nothing for a type that could run script or is unknown (SVG,
// XHTML, XML, PDF, scripts, ...).
std::optional<std::string> ContentTypeOf(const std::string& name);

bool IsHtml(const std::string& contentType);

// The policy every HTML page of a key is served with.
const std::string& PagePolicy();

// The page with the policy's meta element at its very start: after a byte
// order mark and a leading document type, so the page keeps its rendering
// mode.
std::string WithPagePolicy(const std::string& html);

}  // namespace key_page
