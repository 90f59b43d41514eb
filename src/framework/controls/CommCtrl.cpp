#include "framework/controls/CommCtrl.h"

IMPLEMENT_RUNTIME_CLASS(CCommCtrl, CControlWindow)

CCommCtrl::CCommCtrl() {}

CCommCtrl::~CCommCtrl() {}
