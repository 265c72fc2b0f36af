// The demo's document: nothing but its title, which its views show.
#pragma once

#include "platform/afx/Document.h"

namespace mdidemo {

class MdiDemoDocument : public afx::CDocument {
  DECLARE_DYNCREATE(MdiDemoDocument)
};

}  // namespace mdidemo
