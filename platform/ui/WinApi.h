// The whole window-system interface in one include, for code written
// message by message against it.
#pragma once

#include "platform/ui/Clock.h"
#include "platform/ui/ControlMessages.h"
#include "platform/ui/CreationHook.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/HeadlessHost.h"
#include "platform/ui/HeadlessInput.h"
#include "platform/ui/Hooks.h"
#include "platform/ui/Host.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Messages.h"
#include "platform/ui/NonClient.h"
#include "platform/ui/RawInput.h"
#include "platform/ui/Types.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
