#pragma once

// Answers are built in fresh buffers of a few megabytes each. By default the C library
// hands such memory back to the system after every answer and the next answer pays a page
// fault per page to get it again; a serving process keeps it instead.
void KeepFreedMemoryForAnswers();
