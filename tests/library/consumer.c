/* A C program as a user of the installed library writes one: the calculator through
 * <quorbit1/quorbit1.h> alone. Prints the answer to 2*3+4, then checks what a caller relies on;
 * any failed check is printed and makes the exit status 1. */
#include <quorbit1/quorbit1.h>

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int failures = 0;

#define CHECK(condition)                                                            \
    do {                                                                            \
        if (!(condition)) {                                                         \
            fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #condition); \
            ++failures;                                                             \
        }                                                                           \
    } while (0)

static int Ok(quorbit1_calculator* calc, const char* text) {
    return quorbit1_ok(calc, text, strlen(text));
}

int main(void) {
    quorbit1_calculator* calc = quorbit1_create();
    if (calc == NULL) {
        fprintf(stderr, "no calculator\n");
        return 1;
    }
    CHECK(Ok(calc, "2*3+4") == QUORBIT1_NO_MESSAGE);
    printf("%s\n", quorbit1_answer(calc));
    CHECK(strcmp(quorbit1_answer(calc), "14") == 0);
    CHECK(quorbit1_value(calc) == 14.0);
    CHECK(strcmp(quorbit1_message(calc), "") == 0);
    CHECK(strcmp(quorbit1_read_as(calc), "2*(3+4)") == 0);

    /* A message, and a text refused before evaluation, which keeps the answer before it. */
    CHECK(Ok(calc, "ln(-1)") == QUORBIT1_MESSAGE);
    CHECK(strcmp(quorbit1_message(calc), "Ln negatives not allowed.") == 0);
    CHECK(Ok(calc, "5") == QUORBIT1_NO_MESSAGE);
    CHECK(Ok(calc, "1=1") == QUORBIT1_NOT_EVALUATED);
    CHECK(strcmp(quorbit1_message(calc), "= is not supported. Restructure.") == 0);
    CHECK(strcmp(quorbit1_answer(calc), "5") == 0);
    CHECK(quorbit1_evaluated(calc) == 0);

    /* The command line's JSON line, newline included. */
    CHECK(Ok(calc, "0*5") == QUORBIT1_NO_MESSAGE);
    const char* json = quorbit1_json(calc);
    CHECK(json != NULL && strncmp(json, "{\"expression\":\"0*5\"", 19) == 0);
    CHECK(json != NULL && strstr(json, "\"readAs\":\"5\",\"readAsNotes\":[\"zeroFactor\"]}\n"));
    CHECK(quorbit1_json_length(calc) == strlen(json));

    /* The slots and the angle unit. */
    CHECK(quorbit1_set_slot(calc, 'x', 2.5) == 0);
    CHECK(quorbit1_slot(calc, 'X') == 2.5);
    CHECK(Ok(calc, "x*4") == QUORBIT1_NO_MESSAGE && quorbit1_value(calc) == 10.0);
    CHECK(quorbit1_set_radians(calc, 1) == 0 && quorbit1_radians(calc) == 1);
    CHECK(Ok(calc, "2*asin(1)") == QUORBIT1_NO_MESSAGE);
    CHECK(strcmp(quorbit1_answer(calc), "3.14159265358979") == 0);
    CHECK(quorbit1_set_radians(calc, 0) == 0);
    /* Degrees again: asin gives its result times 57.3, not 180/pi. */
    CHECK(Ok(calc, "asin(1)") == QUORBIT1_NO_MESSAGE);
    CHECK(strcmp(quorbit1_answer(calc), "90.0066295253476") == 0);

    /* A text of 100,000 characters: 1+1+...+1+10. */
    enum { kLong = 100000 };
    char* text = malloc(kLong);
    CHECK(text != NULL);
    if (text != NULL) {
        for (size_t i = 0; i < kLong; ++i) {
            text[i] = i % 2 == 0 ? '1' : '+';
        }
        text[kLong - 1] = '0';
        CHECK(quorbit1_field_takes(text, kLong) == 1);
        CHECK(quorbit1_ok(calc, text, kLong) == QUORBIT1_NO_MESSAGE);
        CHECK(strcmp(quorbit1_answer(calc), "50009") == 0);
        free(text);
    }

    /* Bad arguments are error codes, never a crash; the last result stays. */
    CHECK(quorbit1_ok(NULL, "1", 1) == QUORBIT1_ERROR_ARGUMENT);
    CHECK(quorbit1_ok(calc, NULL, 3) == QUORBIT1_ERROR_ARGUMENT);
    CHECK(quorbit1_ok(calc, "1", SIZE_MAX) == QUORBIT1_ERROR_ARGUMENT);
    CHECK(quorbit1_field_takes(NULL, 1) == QUORBIT1_ERROR_ARGUMENT);
    CHECK(strcmp(quorbit1_answer(calc), "50009") == 0);
    CHECK(quorbit1_ok(calc, NULL, 0) == QUORBIT1_NOT_EVALUATED);
    CHECK(quorbit1_set_radians(NULL, 1) == QUORBIT1_ERROR_ARGUMENT);
    CHECK(quorbit1_set_slot(NULL, 'X', 1) == QUORBIT1_ERROR_ARGUMENT);
    CHECK(quorbit1_set_slot(calc, 'Q', 1) == QUORBIT1_ERROR_ARGUMENT);
    CHECK(quorbit1_json(NULL) == NULL);
    CHECK(quorbit1_read_as(NULL) == NULL);
    CHECK(quorbit1_history_size(calc) == 0); /* no history unless asked for */
    quorbit1_free(NULL);

    if (strcmp(quorbit1_version(), QUORBIT1_EXPECTED_VERSION) != 0) {
        fprintf(stderr, "version %s, expected %s\n", quorbit1_version(), QUORBIT1_EXPECTED_VERSION);
        ++failures;
    }
    quorbit1_free(calc);
    return failures == 0 ? 0 : 1;
}
