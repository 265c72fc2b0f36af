// The whole drawing layer in one include.
#pragma once

#include "platform/ui/DeviceContext.h"
#include "platform/ui/Drawing.h"
#include "platform/ui/Frames.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/GdiTypes.h"
#include "platform/ui/ImageResources.h"
#include "platform/ui/StylePainter.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Text.h"
