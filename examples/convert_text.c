/* Converts the text given on the command line through a table, as a C program
 * uses libtolvane:
 *     convert_text 简体到繁体 复制日志      prints 複製日誌
 * Build it with:
 *     cc convert_text.c $(pkg-config --cflags --libs tolvane) -o convert_text
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <tolvane.h>

int main(int argc, char** argv) {
    tolvane_table* table = NULL;
    tolvane_error* error = NULL;
    tolvane_status status;
    size_t size, converted = 0;
    char* output;

    if (argc != 3) {
        fprintf(stderr, "usage: %s TABLE TEXT\n", argv[0]);
        return 2;
    }
    if (tolvane_table_open(argv[1], 0, &table, &error) != TOLVANE_OK) {
        fprintf(stderr, "%s\n", tolvane_error_message(error));
        tolvane_error_free(error);
        return 1;
    }
    size = strlen(argv[2]);
    output = malloc(TOLVANE_OUTPUT_BOUND(size));
    status = output == NULL ? TOLVANE_ERROR_MEMORY
                            : tolvane_convert_utf8(table, argv[2], size, output,
                                                   TOLVANE_OUTPUT_BOUND(size), &converted, &error);
    if (status == TOLVANE_OK)
        printf("%.*s\n", (int)converted, output);
    else
        fprintf(stderr, "%s\n", error != NULL ? tolvane_error_message(error) : "内存不足");
    free(output);
    tolvane_error_free(error);
    tolvane_table_free(table);
    return status == TOLVANE_OK ? 0 : 1;
}
