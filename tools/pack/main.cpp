// wyr-pack's entry: reads the command line and runs the packaging or the inspection.
#include <stdio.h>

#include <string>

#include "platform/process.h"
#include "tools/pack/pack_options.h"
#include "tools/pack/packager.h"

int main(int argc, char** argv)
{
    initialiseProcessLocale();
    PackOptions options;
    std::string problem;
    if (!parsePackOptions(argc, argv, options, problem)) {
        fprintf(stderr, "wyr-pack: %s (see wyr-pack --help)\n", problem.c_str());
        return 2;
    }
    switch (options.mode) {
    case PackOptions::Mode::help:
        fputs(packUsage, stdout);
        return 0;
    case PackOptions::Mode::version:
        printf("wyr-pack %s\n", WYR_VERSION);
        return 0;
    case PackOptions::Mode::inspect:
        return runInspect(options.inspected);
    case PackOptions::Mode::pack:
        break;
    }
    return runPack(options);
}
