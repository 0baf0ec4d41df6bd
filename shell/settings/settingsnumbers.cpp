#include "settingsnumbers.h"

#include <stdint.h>

int ParseDecimalClamped(const char* text)
{
    if (text == nullptr)
        return 0;
    while (*text == ' ' || *text == '\t')
        ++text;
    bool negative = false;
    if (*text == '-' || *text == '+') {
        negative = *text == '-';
        ++text;
    }
    const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
    int64_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > limit) {
            value = limit;
            while (text[1] >= '0' && text[1] <= '9')
                ++text;
        }
    }
    return static_cast<int>(negative ? -value : value);
}
