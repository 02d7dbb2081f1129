// Which kinds of item names a database uses.
#pragma once

namespace editors {

struct NameKinds {
  bool common = true;
  bool scientific = false;
  bool operator==(const NameKinds&) const = default;
};

}  // namespace editors
