// The pictures built into the program (":/pictures/...": world parts and language flags).
#pragma once

// Registers the built-in pictures. The resource code lives in a static library, where nothing
// else would pull it in; windows that use the pictures call this first. Safe to call again.
void UsePictureResources();
