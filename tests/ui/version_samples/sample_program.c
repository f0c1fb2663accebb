/* A program that does nothing; the test programs read the version resource linked into it. */
int main(void) { return 0; }
