/* GMP as a whole process doing what numerelle-cli's big-number subcommands
 * do: read the operands as decimal text (an @FILE argument from a file),
 * compute, and write the result's decimal text to standard output. */
#include <gmp.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static void read_value(const char* argument, mpz_t value) {
    if (argument[0] != '@') {
        mpz_set_str(value, argument, 10);
        return;
    }
    FILE* file = fopen(argument + 1, "rb");
    if (!file) exit(1);
    fseek(file, 0, SEEK_END);
    long size = ftell(file);
    fseek(file, 0, SEEK_SET);
    char* text = malloc((size_t)size + 1);
    size_t got = fread(text, 1, (size_t)size, file);
    fclose(file);
    while (got > 0 && (text[got - 1] == '\n' || text[got - 1] == '\r')) --got;
    text[got] = '\0';
    mpz_set_str(value, text, 10);
    free(text);
}

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    mpz_t a, b, r;
    mpz_inits(a, b, r, NULL);
    read_value(argv[2], a);
    if (argc > 3) read_value(argv[3], b);
    if (!strcmp(argv[1], "fact")) mpz_fac_ui(r, mpz_get_ui(a));
    else if (!strcmp(argv[1], "comb")) mpz_bin_uiui(r, mpz_get_ui(a), mpz_get_ui(b));
    else if (!strcmp(argv[1], "pow")) mpz_pow_ui(r, a, mpz_get_ui(b));
    else if (!strcmp(argv[1], "mul")) mpz_mul(r, a, b);
    else if (!strcmp(argv[1], "add")) mpz_add(r, a, b);
    else return 2;
    char* text = mpz_get_str(NULL, 10, r);
    size_t length = strlen(text);
    text[length] = '\n';
    fwrite(text, 1, length + 1, stdout);
    return fflush(stdout) == 0 ? 0 : 1;
}
