#pragma once

class QLineEdit;

// Turns every character typed into the edit into upper case, keeping the cursor in place.
void ForceUpperCase(QLineEdit *edit);
