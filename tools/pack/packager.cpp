// Packaging a Java application into a copy of the launcher, and reporting what a package holds.
#include "tools/pack/packager.h"

#include <stdio.h>

#include <filesystem>
#include <set>

#include "platform/codepage.h"
#include "platform/process.h"
#include "text/text_buffer.h"
#include "tools/pack/bridge_classes.h"
#include "tools/pack/file_io.h"
#include "tools/pack/stub_strings.h"
#include "tools/pack/zip_archive.h"

namespace {

int failure(const std::string& message)
{
    fprintf(stderr, "wyr-pack: %s\n", message.c_str());
    return 1;
}

std::string inQuotes(const std::string& path) { return "'" + path + "'"; }

std::string defaultLauncher()
{
    TextBuffer own = executableFilePath();
    std::filesystem::path tool(std::string(own.chars, static_cast<size_t>(own.length)));
    // wyr-pack sits beside the launcher of its own platform and shares its file extension.
    return (tool.parent_path() / ("wyr" + tool.extension().string())).string();
}

bool toUnits(const std::string& text, std::u16string& units)
{
    units.clear();
    if (text.empty())
        return true;
    int32_t needed = convertAnsiToWide(text.data(), static_cast<int32_t>(text.size()), nullptr, 0);
    if (needed <= 0)
        return false;
    units.resize(static_cast<size_t>(needed));
    int32_t written = convertAnsiToWide(text.data(), static_cast<int32_t>(text.size()),
                                        reinterpret_cast<uint16_t*>(&units[0]), needed);
    units.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return written > 0;
}

std::string fromUnits(const std::u16string& units)
{
    if (units.empty())
        return std::string();
    const uint16_t* source = reinterpret_cast<const uint16_t*>(units.data());
    int32_t count = static_cast<int32_t>(units.size());
    int32_t needed = convertWideToAnsi(source, count, nullptr, 0);
    if (needed <= 0)
        return std::string();
    std::string text(static_cast<size_t>(needed), '\0');
    int32_t written = convertWideToAnsi(source, count, &text[0], needed);
    text.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return text;
}

// The service texts the command line gives, checked against the room the launcher reserves.
bool prepareServiceTexts(const PackOptions& options, std::u16string (&units)[serviceTextCount], std::string& problem)
{
    for (size_t index = 0; index < serviceTextCount; ++index) {
        if (!options.serviceTextGiven[index])
            continue;
        const std::string& text = options.serviceTexts[index];
        if (!toUnits(text, units[index])) {
            problem = std::string("the ") + serviceTextLabels[index] + " cannot be converted to UTF-16";
            return false;
        }
        if (index == 0) {
            if (text.empty() || text.find_first_of("/\\") != std::string::npos) {
                problem = "the service name must not be empty or hold '/' or '\\'";
                return false;
            }
            if (text.size() > serviceTextRoom[0]) {
                problem = "the service name is " + std::to_string(text.size()) + " bytes, more than " +
                          std::to_string(serviceTextRoom[0]);
                return false;
            }
        }
        if (units[index].size() > serviceTextRoom[index]) {
            problem = std::string("the ") + serviceTextLabels[index] + " is " + std::to_string(units[index].size()) +
                      " UTF-16 units long, more than its room of " + std::to_string(serviceTextRoom[index]);
            return false;
        }
    }
    return true;
}

bool rewriteServiceTexts(std::vector<uint8_t>& stub, const LauncherImage& image, const PackOptions& options,
                         const std::u16string (&units)[serviceTextCount], std::string& problem)
{
    for (const ServiceBlock& block : image.serviceBlocks) {
        std::vector<std::u16string> texts;
        if (!readStringBlock(stub.data() + block.offset, serviceBlockUnits, texts)) {
            problem = "the launcher's service string block (language " + std::to_string(block.language) +
                      ") is damaged";
            return false;
        }
        for (size_t index = 0; index < serviceTextCount; ++index) {
            if (options.serviceTextGiven[index])
                texts[index] = units[index];
        }
        if (!writeStringBlock(stub.data() + block.offset, serviceBlockUnits, texts)) {
            problem = "the service texts do not fit the launcher's string block";
            return false;
        }
    }
    return true;
}

bool describeZipProblem(ZipProblem problem, const std::string& what, const std::string& detail, std::string& message)
{
    switch (problem) {
    case ZipProblem::none:
        return false;
    case ZipProblem::notZip:
        message = what + " is not a ZIP archive (" + detail + ")";
        break;
    case ZipProblem::truncated:
        message = what + " is truncated: " + detail;
        break;
    case ZipProblem::inconsistent:
        message = what + " has a central directory that does not add up: " + detail;
        break;
    case ZipProblem::unsupported:
        message = what + ": " + detail;
        break;
    }
    return true;
}

bool isManifest(const std::string& name) { return equalsIgnoringCase(name.c_str(), "META-INF/MANIFEST.MF"); }

// Signature files only match their own jar's manifest; with another manifest they would make
// the runtime reject the archive.
bool isSignatureFile(const std::string& name)
{
    if (!startsWithIgnoringCase(name.c_str(), "META-INF/", 9) || name.find('/', 9) != std::string::npos)
        return false;
    size_t dot = name.rfind('.');
    std::string suffix = dot == std::string::npos ? std::string() : name.substr(dot);
    for (const char* signatureSuffix : {".SF", ".RSA", ".DSA", ".EC"}) {
        if (equalsIgnoringCase(suffix.c_str(), signatureSuffix))
            return true;
    }
    return startsWithIgnoringCase(name.c_str() + 9, "SIG-", 4);
}

bool holdsBridge(const std::set<std::string>& names)
{
    for (const char* name : bridgeEntryNames) {
        if (names.count(name) == 0)
            return false;
    }
    return true;
}

bool checkSettingsText(const std::string& text, std::string& problem)
{
    if (text.size() > largestSettingsText) {
        problem = "the embedded settings text is " + std::to_string(text.size()) +
                  " bytes; the launcher reads at most " + std::to_string(largestSettingsText);
        return false;
    }
    // The launcher stops at a NUL, and takes the last end-record signature as the comment's start.
    if (text.find('\0') != std::string::npos) {
        problem = "the embedded settings text holds a NUL byte";
        return false;
    }
    if (text.find("PK\x05\x06") != std::string::npos) {
        problem = "the embedded settings text holds the ZIP end record signature";
        return false;
    }
    return true;
}

} // namespace

std::string buildSettingsText(const std::vector<uint8_t>& fileBytes, const std::vector<SettingLine>& settings)
{
    std::string text(fileBytes.begin(), fileBytes.end());
    if (!text.empty() && text.back() != '\n' && text.back() != '\r')
        text += "\r\n";
    for (const SettingLine& line : settings)
        text += line.key + " " + line.value + "\r\n";
    return text;
}

int runPack(const PackOptions& options)
{
    std::string launcher = options.launcher.empty() ? defaultLauncher() : options.launcher;
    if (sameFile(options.output, launcher))
        return failure(inQuotes(options.output) + " is also the launcher; give another output file");
    if (!options.settingsFile.empty() && sameFile(options.output, options.settingsFile))
        return failure(inQuotes(options.output) + " is also the settings file; give another output file");
    for (const std::string& jar : options.jars) {
        if (sameFile(options.output, jar))
            return failure(inQuotes(options.output) + " is also the JAR " + inQuotes(jar) + "; give another output file");
    }

    std::string problem;
    std::vector<uint8_t> stub;
    if (!readFileBytes(launcher, stub, problem))
        return failure("cannot read the launcher " + inQuotes(launcher) + ": " + problem);
    LauncherImage image;
    if (!findServiceBlocks(stub.data(), stub.size(), image, problem))
        return failure(inQuotes(launcher) + " is not a wyr launcher: " + problem);
    ZipListing existing;
    std::string detail;
    if (readZipListing(stub.data(), stub.size(), existing, detail) == ZipProblem::none)
        return failure("the launcher " + inQuotes(launcher) + " already carries an application archive");

    std::vector<uint8_t> settingsBytes;
    if (!options.settingsFile.empty() && !readFileBytes(options.settingsFile, settingsBytes, problem))
        return failure("cannot read the settings file " + inQuotes(options.settingsFile) + ": " + problem);
    std::string settings = buildSettingsText(settingsBytes, options.settings);
    if (!checkSettingsText(settings, problem))
        return failure(problem);

    std::u16string serviceUnits[serviceTextCount];
    if (!prepareServiceTexts(options, serviceUnits, problem))
        return failure(problem);

    ZipWriter writer;
    std::set<std::string> names;
    for (size_t index = 0; index < options.jars.size(); ++index) {
        const std::string& jar = options.jars[index];
        std::vector<uint8_t> bytes;
        if (!readFileBytes(jar, bytes, problem))
            return failure("cannot read the JAR " + inQuotes(jar) + ": " + problem);
        ZipListing listing;
        ZipProblem read = readZipListing(bytes.data(), bytes.size(), listing, detail);
        if (describeZipProblem(read, "the JAR " + inQuotes(jar), detail, problem))
            return failure(problem);
        for (const ZipEntry& entry : listing.entries) {
            if (index > 0 && (isManifest(entry.name) || isSignatureFile(entry.name)))
                continue;
            if (!names.insert(entry.name).second)
                continue;
            writer.addCopied(bytes.data(), entry);
        }
    }
    if (!options.noBridge) {
        for (size_t index = 0; index < theBridgeClassCount; ++index) {
            const EmbeddedClass& added = theBridgeClasses[index];
            if (names.insert(added.entryName).second)
                writer.addStored(added.entryName, added.bytes, added.size);
        }
    }

    if (!rewriteServiceTexts(stub, image, options, serviceUnits, problem))
        return failure(problem);
    std::vector<uint8_t> archive;
    if (!writer.finish(settings, archive, problem))
        return failure(problem);

    OutputFile output;
    std::error_code error;
    std::filesystem::perms permissions = std::filesystem::status(launcher, error).permissions();
    if (error || permissions == std::filesystem::perms::unknown)
        permissions = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
    permissions |= std::filesystem::perms::owner_exec | std::filesystem::perms::owner_read |
                   std::filesystem::perms::owner_write;
    if (!output.create(options.output, problem) || !output.write(stub, problem) || !output.write(archive, problem) ||
        !output.commit(permissions, problem))
        return failure("cannot write " + inQuotes(options.output) + ": " + problem);
    return 0;
}

int runInspect(const std::string& path)
{
    std::string problem, detail;
    std::vector<uint8_t> bytes;
    if (!readFileBytes(path, bytes, problem))
        return failure("cannot read " + inQuotes(path) + ": " + problem);
    LauncherImage image;
    if (!findServiceBlocks(bytes.data(), bytes.size(), image, problem))
        return failure(inQuotes(path) + " is not a wyr launcher: " + problem);
    ZipListing listing;
    ZipProblem read = readZipListing(bytes.data(), bytes.size(), listing, detail);
    if (read != ZipProblem::notZip && describeZipProblem(read, "the archive of " + inQuotes(path), detail, problem))
        return failure(problem);

    printf("file: %s\n", path.c_str());
    if (read == ZipProblem::notZip) {
        printf("archive: none\n");
    } else {
        std::string comment(reinterpret_cast<const char*>(bytes.data() + listing.commentOffset), listing.commentSize);
        printf("settings text: %zu bytes\n", comment.size());
        size_t start = 0;
        while (start < comment.size()) {
            size_t end = comment.find_first_of("\r\n", start);
            if (end == std::string::npos)
                end = comment.size();
            printf("  %s\n", comment.substr(start, end - start).c_str());
            // CR LF and LF CR end one line; any other CR or LF ends one by itself.
            if (end + 1 < comment.size() && comment[end] != comment[end + 1] &&
                (comment[end + 1] == '\r' || comment[end + 1] == '\n'))
                ++end;
            start = end + 1;
        }
        std::set<std::string> names;
        for (const ZipEntry& entry : listing.entries)
            names.insert(entry.name);
        printf("archive entries: %zu\n", listing.entries.size());
        printf("bridge classes: %s\n", holdsBridge(names) ? "present" : "absent");
    }
    if (theBridgeClassCount == 0)
        printf("note: this wyr-pack was built without the bridge classes\n");
    for (const ServiceBlock& block : image.serviceBlocks) {
        std::vector<std::u16string> texts;
        if (!readStringBlock(bytes.data() + block.offset, serviceBlockUnits, texts))
            return failure("the service string block (language " + std::to_string(block.language) + ") is damaged");
        printf("service texts, language %u:\n", static_cast<unsigned>(block.language));
        for (size_t index = 0; index < serviceTextCount; ++index)
            printf("  %s: %s\n", serviceTextLabels[index], fromUnits(texts[index]).c_str());
    }
    return 0;
}
