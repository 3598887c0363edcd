#pragma once
// Playing a sound file by name, asynchronously or waiting for its end. A missing or unplayable
// file plays nothing and raises nothing.
#include <functional>

#include "platform/rtl/Types.h"

using TSoundPlayer = std::function<void(const String& fileName, bool synchronous)>;

void PlaySoundFile(const String& fileName, bool synchronous);
// Replaces the player (tests); an empty function restores the platform's.
void SetSoundPlayer(TSoundPlayer player);
