#include "framework/controls/VScrollBar.h"

IMPLEMENT_RUNTIME_CLASS(CVScrollBar, CScrollBar)

CVScrollBar::CVScrollBar(UINT id) : CScrollBar(id, SBS_VERT) {}

CVScrollBar::~CVScrollBar() {}
