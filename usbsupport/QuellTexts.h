// The texts Quell shows, in Chinese on Chinese (PRC) systems and in English
// on all others.
#pragma once

struct QuellTexts {
    const wchar_t* searching;  // the searching dialog's text while it looks
    const wchar_t* cancel;     // its button
    const wchar_t* found;      // its text once the device was found
    const wchar_t* warning;    // the caption of the two warnings below
    const wchar_t* regionRefused;  // the window did not take its outline
    const wchar_t* noRegion;       // no outline could be made of the bitmap
};

// `languageCode` as SystemLanguageCode gives it.
const QuellTexts& TextsFor(unsigned languageCode);
