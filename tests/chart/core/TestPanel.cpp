#include "PanelFixture.h"

#include "platform/classes/Published.h"

TV_PUBLISHED(TTestPanel) {}
