/* A program that converts with the installed library: each argument's outcome as
 * "<status> [<text>]". Built by install_test.sh through the CMake package and
 * through pkg-config. */
#include <stdio.h>
#include <string.h>
#include <zorv/words.h>

int main(int argc, char** argv) {
    zorv_converter* converter = zorv_converter_new();
    for (int i = 1; i < argc; ++i) {
        char* out = NULL;
        int status = zorv_convert(converter, argv[i], strlen(argv[i]), &out, NULL);
        printf("%d [%s]\n", status, out ? out : "");
        zorv_string_free(out);
    }
    zorv_converter_free(converter);
    return 0;
}
