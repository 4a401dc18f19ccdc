/* The calculator for other programs, in C: one calculator per handle, as a running dialog has
 * it (the evaluator, the angle unit, the variable slots X Y Z T, and, when asked for, a
 * history), the OK command on a text of any bytes, and its result. Errors are return values;
 * nothing aborts and no exception crosses this interface. Strings returned belong to the
 * calculator and stay valid until the next call that takes it without const; the last
 * command's JSON, reading and working, made when first asked for, until the next command. */
#ifndef QUORBIT1_QUORBIT1_H
#define QUORBIT1_QUORBIT1_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct quorbit1_calculator quorbit1_calculator;

/* What quorbit1_ok returns; the errors are negative. */
enum {
    QUORBIT1_NO_MESSAGE = 0,      /* evaluated, nothing to say */
    QUORBIT1_MESSAGE = 1,         /* evaluated, with a message */
    QUORBIT1_NOT_EVALUATED = 2,   /* refused before evaluation: empty, '=', out of memory */
    QUORBIT1_ERROR_ARGUMENT = -1, /* a NULL calculator, NULL bytes of non-zero length, a length
                                     over PTRDIFF_MAX, a letter that is no slot */
    QUORBIT1_ERROR_MEMORY = -2
};

/* A new calculator: degrees, the slots 0, no previous answer, no history. NULL when out of
 * memory. */
quorbit1_calculator* quorbit1_create(void);
void quorbit1_free(quorbit1_calculator* calc);

/* The version as the programs show it: "1.0". */
const char* quorbit1_version(void);

/* The angle unit: radians when non-zero, else degrees. 0, or an error. */
int quorbit1_set_radians(quorbit1_calculator* calc, int radians);
int quorbit1_radians(const quorbit1_calculator* calc);

/* The variable slots, by their letters "XYZT" in either case. set_slot takes a finite value;
 * set_slot_text a value as a person types it (blanks around it, an optional sign, digits with
 * '.' or decimal_separator, an optional exponent): 0 when taken, 1 when it is not a number
 * (nothing changes), or an error. */
const char* quorbit1_slot_letters(void);
int quorbit1_set_slot(quorbit1_calculator* calc, char letter, double value);
int quorbit1_set_slot_text(quorbit1_calculator* calc, char letter, const char* text, size_t length,
                           const char* decimal_separator);
double quorbit1_slot(const quorbit1_calculator* calc, char letter);

/* The OK command on length bytes of UTF-8 at text (NUL and any other byte are characters like
 * all others). Returns QUORBIT1_NO_MESSAGE, QUORBIT1_MESSAGE, QUORBIT1_NOT_EVALUATED or an
 * error; after an error the last result is unchanged. */
int quorbit1_ok(quorbit1_calculator* calc, const char* text, size_t length);

/* An expression field takes texts of up to quorbit1_field_limit() characters; a longer one is
 * refused with quorbit1_field_refusal() ("%1" for the limit) and not evaluated. */
int quorbit1_field_takes(const char* text, size_t length);
size_t quorbit1_field_limit(void);
const char* quorbit1_field_refusal(void);

/* The last command's result: the answer as the calculator shows it (15 significant digits),
 * its value, the message in English ("" when none; the translations are keyed by it), the
 * byte offset in the text of the character the message is about (or -1), whether the text was
 * evaluated, and the command line's JSON object for it (with its length, newline included). */
const char* quorbit1_answer(const quorbit1_calculator* calc);
double quorbit1_value(const quorbit1_calculator* calc);
const char* quorbit1_message(const quorbit1_calculator* calc);
int quorbit1_mark_position(const quorbit1_calculator* calc);
int quorbit1_evaluated(const quorbit1_calculator* calc);
const char* quorbit1_json(const quorbit1_calculator* calc);
size_t quorbit1_json_length(const quorbit1_calculator* calc);

/* The last command's reading: the expression the calculator actually computed, fully bracketed
   and written so that the usual precedence gives the answer ("2*3+4" reads "2*(3+4)"); "" for a
   command that was not evaluated, or for none. The rules that changed the text are the JSON's
   readAsNotes. Valid until the next command. */
const char* quorbit1_read_as(const quorbit1_calculator* calc);

/* The last command's working as JSON: its stages (60 of 60 terms at most) with the templates
 * of their titles, and the usual reading's refusal. */
const char* quorbit1_working(const quorbit1_calculator* calc);

/* A history in memory for the calculator's run, or kept in the file at path (NULL: the user's
 * own, shared with the desktop calculator and quorbit1-cli). Evaluated texts join it. 0, 1 when
 * the file had a problem (quorbit1_history_problem says which; the run keeps its history in
 * memory then), or an error. */
int quorbit1_use_history(quorbit1_calculator* calc);
int quorbit1_use_history_file(quorbit1_calculator* calc, const char* path);
const char* quorbit1_history_problem(quorbit1_calculator* calc);
size_t quorbit1_history_size(const quorbit1_calculator* calc);
const char* quorbit1_history_entry(const quorbit1_calculator* calc, size_t index);
int quorbit1_history_clear(quorbit1_calculator* calc);
/* Once, after the history became kept in memory only because its storage refused it or was
 * full: what to tell the user, in English (the translations are keyed by it); else NULL. */
const char* quorbit1_history_notice(quorbit1_calculator* calc);

/* Up (step -1) and Down (+1) through the history from a field holding length bytes at current:
 * the text the field is to show, or NULL when there is no step to take. */
const char* quorbit1_recall(quorbit1_calculator* calc, int step, const char* current,
                            size_t length);

#ifdef __cplusplus
}
#endif

#endif
