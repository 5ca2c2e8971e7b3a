// What the view's accessible objects hold of it. The link outlives the
// view: the view clears it as it goes, and from then on the objects answer
// that their element is no longer there.
#pragma once

namespace pravex::win32 {

class TextView;

struct TextViewLink {
  TextView* view = nullptr;
};

}  // namespace pravex::win32
