#pragma once
// A profile header that reaches up into a family core: the layering check must refuse it.
#include "mouse/MouseDeviceModel.h"
