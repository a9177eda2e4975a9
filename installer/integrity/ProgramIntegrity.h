// installer/integrity/ProgramIntegrity.h: checks that the program's own file is still the one the build stamped.
#ifndef PROGRAMINTEGRITY_H
#define PROGRAMINTEGRITY_H

// The build (cmake/stamp_digest.py, run after linking) writes the SHA-1 of the finished file
// into a slot inside the file, the slot's digest bytes counted as zero. Any byte changed, added
// or cut off then makes the file disagree with its stamp.
//
// This detects damage, a bad copy or a stray patch; it is not a signature. Whoever can change
// the file can also restamp it, so it proves nothing about where the file came from.

// True when the file of the running program matches its stamp. False when it does not, when
// it was never stamped, or when it cannot be read.
bool IsProgramFileIntact();

// The same check for any file that carries this program's stamp slot (a copy, in tests).
bool IsFileIntact(const char* pszPath);

#endif // PROGRAMINTEGRITY_H
