#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// The words a person reads, in the desktop's language where a translation has them. The
// English text is the source, and it stays the text wherever no translation has it. Calls
// give the context and the text as literals, so that lupdate finds them (it reads
// `translated` and `translatedCount` as Qt's `translate`).
class Translator {
public:
    virtual ~Translator() = default;
    // The translation of `source`, its form chosen by `n` when `plural` is given; empty
    // when there is none.
    virtual std::string translate(const char* context, const char* source, const char* plural,
                                  std::uint64_t n) const = 0;
};

// Marks an entry of a table of texts for lupdate (read as QT_TRANSLATE_NOOP); the entry is
// translated where it is shown, with the same context.
#define TRANSLATABLE(context, text) text

// Set once by a front end before the first text is made and before any thread starts;
// none (the default) means English.
void installTranslator(const Translator* translator);

std::string translated(const char* context, const char* source);

// ngettext's order: the English singular and plural; "%n" becomes the number.
std::string translatedCount(const char* context, const char* one, const char* many,
                            std::uint64_t n);

// "a", "a and b", "a, b and c", in the person's language.
std::string listInWords(const std::vector<std::string>& items);

// "%1" to "%9" in `text` replaced by `args`, in one pass: a translation may put them in
// another order, and an argument holding "%2" is never replaced again.
std::string withArgs(const std::string& text, std::initializer_list<std::string> args);
