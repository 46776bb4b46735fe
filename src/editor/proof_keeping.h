// The proof of the editor's course: the autopilot's par of the latest course text it
// finished in this session, and the proof file beside a saved own course (course_proof.h),
// so a course keeps its par and proof without a byte of its own changing.
#pragma once

// The text was proved with this par (it replaces the proof remembered before).
void rememberProof(const char* text, int size, int par);
// The par of the text when it is the one proved, else 0.
int provedParOf(const char* text, int size);
// An own course opened from its file: the proof beside it, when it holds for the file's
// content and the text is that content, is remembered.
void takeProofBeside(const char* coursePath, const char* text, int size);
// Writes the proof beside the saved course when its text is the one proved; 1 when written.
int keepProofBeside(const char* coursePath, const char* text, int size);
