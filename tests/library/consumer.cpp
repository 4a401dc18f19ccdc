// A C++ program as a user of the installed library writes one: the C interface held by a
// unique_ptr, texts as string_views. Prints the answer to 2*3+4, then checks what a caller
// relies on; any failed check is printed and makes the exit status 1.
#include <quorbit1/quorbit1.h>

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace {

int failures = 0;

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "consumer.cpp: failed: %s\n", what);
        ++failures;
    }
}

struct Free {
    void operator()(quorbit1_calculator* calc) const { quorbit1_free(calc); }
};
using Calculator = std::unique_ptr<quorbit1_calculator, Free>;

int Ok(const Calculator& calc, std::string_view text) {
    return quorbit1_ok(calc.get(), text.data(), text.size());
}

}  // namespace

int main() {
    const Calculator calc(quorbit1_create());
    if (!calc) {
        return 1;
    }
    Check(Ok(calc, "2*3+4") == QUORBIT1_NO_MESSAGE, "2*3+4 evaluated");
    std::printf("%s\n", quorbit1_answer(calc.get()));
    Check(std::string_view(quorbit1_answer(calc.get())) == "14", "2*3+4 is 14");

    // Texts with NUL bytes inside are texts like others: the NUL is an invalid character.
    using namespace std::string_view_literals;
    Check(Ok(calc,
             "1+\0"
             "2"sv) == QUORBIT1_MESSAGE,
          "a NUL is a character");
    Check(std::string_view(quorbit1_message(calc.get())) == "Invalid character.", "its message");

    // Two calculators keep their own units and slots.
    const Calculator other(quorbit1_create());
    Check(quorbit1_set_radians(other.get(), 1) == 0, "radians");
    Check(quorbit1_set_slot(other.get(), 'T', 3) == 0, "T set");
    Check(Ok(other, "t*cos(0)") == QUORBIT1_NO_MESSAGE && quorbit1_value(other.get()) == 3.0,
          "T*cos(0) is 3");
    Check(Ok(calc, "t+cos(0)") == QUORBIT1_NO_MESSAGE && quorbit1_value(calc.get()) == 1.0,
          "the first calculator's T is still 0, and its unit degrees");

    const std::string json = quorbit1_json(calc.get());
    Check(json.find("\"angleUnit\":\"degrees\"") != std::string::npos, "JSON has the unit");
    Check(json.back() == '\n', "JSON ends its line");
    Check(quorbit1_slot_letters() == std::string_view("XYZT"), "the slots' letters");
    return failures == 0 ? 0 : 1;
}
