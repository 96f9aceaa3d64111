#pragma once

// What every program that shows the client's windows does right after creating its
// application object: the desktop presenters, the embedded browser's drawing and the look.
void PrepareClientApplication();
