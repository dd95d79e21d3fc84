#include "toolbox/toolbox_win.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/files_win.h"
#include "common/paths.h"
#include "iconres/recordformat.h"
#include "toolbox/container_win.h"
#include "toolbox/iconcheck.h"
#include "toolbox/report.h"
#include "toolbox/resource.h"
#include "toolbox/toolbox_options.h"
#include "toolbox/toolbox_text_win.h"

namespace {

enum ExitCode { kExitOk = 0, kExitSomeFailed = 1, kExitUsage = 2, kExitTarget = 3 };

// The sizes the platform's chooser is asked about, in pixels.
const int kPickSizes[] = {16, 20, 24, 32, 40, 48, 64};

// %1, %2 and %3 of a finding's text replaced by its two numbers and detail.
std::string Expand(const std::string &format, const std::string &a, const std::string &b, const std::string &detail) {
    std::string out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] >= '1' && format[i + 1] <= '3') {
            char which = format[++i];
            out += which == '1' ? a : which == '2' ? b : detail;
        } else {
            out += format[i];
        }
    }
    return out;
}

std::string Size(int64_t packed) { return std::to_string(packed >> 16) + "x" + std::to_string(packed & 0xFFFF); }

std::string FindingMessage(const Finding &f) {
    if (f.code == kFindEntrySize) return Expand(ToolboxText(IDS_TB_FINDING_BASE + f.code), Size(f.a), Size(f.b), f.detail);
    if (f.code == kFindAniSequenceFlag && f.a == 0) return ToolboxText(IDS_TB_FINDING_FLAG_WITHOUT_SEQ);
    return Expand(ToolboxText(IDS_TB_FINDING_BASE + f.code), std::to_string(f.a), std::to_string(f.b), f.detail);
}

std::string FindingPlace(const Finding &f) {
    if (f.frame >= 0 && f.image >= 0) return ToolboxFormat(IDS_TB_WHERE_FRAME_IMAGE, f.frame, f.image);
    if (f.frame >= 0) return ToolboxFormat(IDS_TB_WHERE_FRAME, f.frame);
    if (f.image >= 0) return ToolboxFormat(IDS_TB_WHERE_IMAGE, f.image);
    return ToolboxText(IDS_TB_WHERE_FILE);
}

const char *KindName(ContainerKind kind) {
    switch (kind) {
    case kContainerIcon: return "icon";
    case kContainerCursor: return "cursor";
    case kContainerAni: return "ani";
    case kContainerModule: return "module";
    default: return "unknown";
    }
}

std::string KindText(ContainerKind kind) {
    switch (kind) {
    case kContainerIcon: return ToolboxText(IDS_TB_KIND_ICON);
    case kContainerCursor: return ToolboxText(IDS_TB_KIND_CURSOR);
    case kContainerAni: return ToolboxText(IDS_TB_KIND_ANI);
    default: return ToolboxText(IDS_TB_KIND_MODULE);
    }
}

std::string FailureText(ContainerFailure failure) {
    switch (failure) {
    case kContainerCannotOpen: return ToolboxText(IDS_TB_CANNOT_OPEN);
    case kContainerTooLarge: return ToolboxText(IDS_TB_TOO_LARGE);
    case kContainerUnknownKind: return ToolboxText(IDS_TB_UNKNOWN_KIND);
    case kContainerNotModule: return ToolboxText(IDS_TB_NOT_A_MODULE);
    default: return std::string();
    }
}

// Reads a file for list and extract. False when nothing can be listed (the
// file unreadable or refused); *why also says when it holds no group.
bool ReadForListing(const std::string &path, IconContainer *c, std::string *why) {
    ContainerFailure failure = ReadIconContainer(path, c);
    bool refused = failure != kContainerOk || (c->kind == kContainerAni && !c->aniRead);
    *why = failure != kContainerOk ? FailureText(failure)
           : refused               ? c->aniError
           : c->groups.empty()     ? ToolboxText(IDS_TB_NO_GROUPS)
                                   : std::string();
    return !refused;
}

std::vector<std::string> Split(const std::string &text, char sep) {
    std::vector<std::string> parts(1);
    for (char ch : text)
        if (ch == sep)
            parts.emplace_back();
        else
            parts.back() += ch;
    return parts;
}

// --- list ----------------------------------------------------------------

void ListImagesJson(JsonWriter &json, const IconGroup &g) {
    std::vector<ImageSummary> images;
    std::string error;
    json.Key("images").BeginArray();
    if (!g.file.empty() && SummarizeIconFile(g.file.data(), g.file.size(), &images, &error))
        for (const ImageSummary &s : images) {
            json.BeginObject().Key("width").Number(s.width).Key("height").Number(s.height);
            json.Key("bits").Number(s.bits).Key("format").String(s.png ? "png" : "bmp").Key("bytes").Number(s.bytes);
            json.Key("hotspot");
            if (s.cursor)
                json.BeginObject().Key("x").Number(s.hotspotX).Key("y").Number(s.hotspotY).EndObject();
            else
                json.Null();
            json.EndObject();
        }
    json.EndArray();
    json.Key("error");
    if (!g.error.empty())
        json.String(g.error);
    else if (!error.empty())
        json.String(error);
    else
        json.Null();
}

void ListImageRows(const IconGroup &g, std::vector<std::vector<std::string>> *rows, std::vector<std::string> *errors) {
    std::vector<ImageSummary> images;
    std::string error = g.error;
    if (error.empty() && !SummarizeIconFile(g.file.data(), g.file.size(), &images, &error)) images.clear();
    if (!error.empty()) errors->push_back(ToolboxFormat(IDS_TB_BAD_GROUP, g.name.c_str(), error.c_str()));
    for (size_t i = 0; i < images.size(); ++i) {
        const ImageSummary &s = images[i];
        rows->push_back({g.name, ToolboxText(g.cursor ? IDS_TB_TYPE_CURSOR : IDS_TB_TYPE_ICON), std::to_string(i),
                         std::to_string(s.width) + "x" + std::to_string(s.height), std::to_string(s.bits),
                         s.png ? "PNG" : "BMP", std::to_string(s.bytes),
                         s.cursor ? std::to_string(s.hotspotX) + "," + std::to_string(s.hotspotY) : ""});
    }
}

std::string Summary(const IconContainer &c) {
    if (c.kind == kContainerAni && c.aniRead)
        return ToolboxFormat(IDS_TB_ANI_SUMMARY, (int)c.ani.frames.size(), (int)c.ani.header.steps, (int)c.ani.header.rate,
                      c.ani.title.c_str(), c.ani.author.c_str());
    if (c.kind == kContainerModule) return ToolboxFormat(IDS_TB_MODULE_SUMMARY, c.iconGroups, c.cursorGroups);
    int images = 0;
    std::vector<ImageSummary> s;
    std::string error;
    if (!c.groups.empty() && SummarizeIconFile(c.groups[0].file.data(), c.groups[0].file.size(), &s, &error))
        images = (int)s.size();
    return ToolboxFormat(IDS_TB_IMAGE_SUMMARY, images);
}

int List(const ToolboxOptions &o) {
    int failed = 0;
    JsonWriter json;
    json.BeginObject().Key("files").BeginArray();
    for (const std::string &path : o.files) {
        IconContainer c;
        std::string why;
        bool unreadable = !ReadForListing(path, &c, &why);
        if (unreadable) ++failed;
        if (o.json) {
            json.BeginObject().Key("path").String(path).Key("kind").String(KindName(c.kind));
            json.Key("error");
            if (why.empty()) json.Null(); else json.String(why);
            json.Key("groups").BeginArray();
            for (const IconGroup &g : c.groups) {
                json.BeginObject().Key("name").String(g.name).Key("type").String(g.cursor ? "cursor" : "icon");
                ListImagesJson(json, g);
                json.EndObject();
            }
            json.EndArray();
            if (c.kind == kContainerAni && c.aniRead) {
                json.Key("animation").BeginObject().Key("title").String(c.ani.title).Key("author").String(c.ani.author);
                json.Key("frames").Number((int64_t)c.ani.frames.size()).Key("rate").Number(c.ani.header.rate);
                json.Key("steps").BeginArray();
                for (uint32_t s = 0; s < c.ani.header.steps; ++s)
                    json.BeginObject().Key("frame").Number(c.ani.sequence[s]).Key("rate").Number(c.ani.rates[s]).EndObject();
                json.EndArray().EndObject();
            }
            json.EndObject();
            continue;
        }
        if (unreadable) {
            ToolboxComplain(path, why);
            continue;
        }
        std::string out = path + " (" + KindText(c.kind) + ", " + Summary(c) + ")\n";
        std::vector<std::vector<std::string>> rows{
            Split(ToolboxText(c.kind == kContainerAni ? IDS_TB_FRAME_COLUMNS : IDS_TB_IMAGE_COLUMNS), '|')};
        std::vector<std::string> errors;
        for (const IconGroup &g : c.groups) ListImageRows(g, &rows, &errors);
        if (rows.size() > 1) out += FormatColumns(rows, 2);
        for (const std::string &e : errors) out += "  " + e + "\n";
        if (c.kind == kContainerAni) {
            std::vector<std::vector<std::string>> steps{Split(ToolboxText(IDS_TB_STEP_COLUMNS), '|')};
            for (uint32_t s = 0; s < c.ani.header.steps; ++s)
                steps.push_back({std::to_string(s), std::to_string(c.ani.sequence[s]), std::to_string(c.ani.rates[s])});
            out += FormatColumns(steps, 2);
        }
        if (c.groups.empty()) out += "  " + why + "\n";
        ToolboxPrint(out);
    }
    json.EndArray().EndObject();
    if (o.json) ToolboxPrint(json.text() + "\n");
    return failed ? kExitSomeFailed : kExitOk;
}

// --- extract -------------------------------------------------------------

int Extract(const ToolboxOptions &o) {
    std::string folder = o.outDir.empty() ? "." : o.outDir;
    if (!EnsureFolder(folder)) {
        ToolboxComplain("", ToolboxFormat(IDS_TB_BAD_OUT, folder.c_str()));
        return kExitTarget;
    }
    std::vector<std::string> inputs;
    for (const std::string &path : o.files) inputs.push_back(FullPath(path));
    int failed = 0;
    JsonWriter json;
    json.BeginObject().Key("files").BeginArray();
    for (const std::string &path : o.files) {
        IconContainer c;
        std::string why;
        ReadForListing(path, &c, &why);
        if (o.json) json.BeginObject().Key("path").String(path).Key("written").BeginArray();
        std::vector<std::string> problems;
        if (!why.empty()) problems.push_back(why);
        for (const IconGroup &g : c.groups) {
            if (g.file.empty()) {
                problems.push_back(ToolboxFormat(IDS_TB_BAD_GROUP, g.name.c_str(), g.error.c_str()));
                continue;
            }
            std::string name = SafeNamePart(BaseName(path)) + "_" + SafeNamePart(g.name) + (g.cursor ? ".cur" : ".ico");
            std::string target = folder + "\\" + name;
            std::string full = FullPath(target);
            bool isInput = false;
            for (const std::string &in : inputs) isInput |= CompareNoCase(in.c_str(), full.c_str(), in.size() + 1) == 0;
            if (isInput || !WriteWholeFile(target, g.file)) {
                problems.push_back(ToolboxFormat(IDS_TB_CANNOT_WRITE, target.c_str()));
                continue;
            }
            if (o.json)
                json.BeginObject().Key("group").String(g.name).Key("type").String(g.cursor ? "cursor" : "icon")
                    .Key("file").String(target).Key("bytes").Number((int64_t)g.file.size()).EndObject();
            else
                ToolboxPrint(ToolboxFormat(IDS_TB_WROTE, path.c_str(), target.c_str()) + "\n");
        }
        if (!problems.empty()) ++failed;
        if (o.json) {
            json.EndArray().Key("errors").BeginArray();
            for (const std::string &p : problems) json.String(p);
            json.EndArray().EndObject();
        } else {
            for (const std::string &p : problems) ToolboxComplain(path, p);
        }
    }
    json.EndArray().EndObject();
    if (o.json) ToolboxPrint(json.text() + "\n");
    return failed ? kExitSomeFailed : kExitOk;
}

// --- check ---------------------------------------------------------------

struct GroupPicks {
    std::string group;
    std::vector<int> image;  // per kPickSizes entry: the image index, or -1
};

// Which image the platform's own chooser takes at each size, given the
// group's directory as a resource compiler writes it (with depths).
bool PlatformPicks(const IconGroup &g, GroupPicks *out) {
    GroupDirectory dir;
    if (g.file.empty() || !BuildGroupDirectory(g.file.data(), g.file.size(), &dir, true)) return false;
    out->group = g.name;
    out->image.clear();
    for (int size : kPickSizes) {
        int id = LookupIconIdFromDirectoryEx(dir.bytes.data(), dir.type == 1, size, size, LR_DEFAULTCOLOR);
        out->image.push_back(id > 0 ? id - 1 : -1);  // the directory's identifiers are index + 1
    }
    return true;
}

struct GroupFinding {
    std::string group;  // empty: the file itself
    Finding finding;
};

int Check(const ToolboxOptions &o) {
    int worst = 0;
    JsonWriter json;
    json.BeginObject().Key("files").BeginArray();
    for (const std::string &path : o.files) {
        IconContainer c;
        ContainerFailure failure = ReadIconContainer(path, &c);
        std::string why = failure != kContainerOk ? FailureText(failure) : std::string();
        std::vector<GroupFinding> findings;
        std::vector<GroupPicks> picks;
        if (failure == kContainerOk) {
            std::vector<Finding> found;
            if (c.kind == kContainerAni) {
                CheckAniFile(c.bytes.data(), c.bytes.size(), &found);
                for (const Finding &f : found) findings.push_back({std::string(), f});
            } else {
                if (c.groups.empty()) why = ToolboxText(IDS_TB_NO_GROUPS);
                for (const IconGroup &g : c.groups) {
                    found.clear();
                    if (g.file.empty()) {
                        Finding f;
                        f.code = kFindNotIconFile;
                        f.level = FindingCodeLevel(kFindNotIconFile);
                        f.detail = g.error;
                        found.push_back(f);
                    } else {
                        CheckIconFile(g.file.data(), g.file.size(), -1, &found);
                    }
                    for (const Finding &f : found)
                        findings.push_back({c.kind == kContainerModule ? g.name : std::string(), f});
                }
            }
            for (const IconGroup &g : c.groups) {
                GroupPicks p;
                if (PlatformPicks(g, &p)) picks.push_back(p);
            }
        }
        std::vector<Finding> plain;
        for (const GroupFinding &gf : findings) plain.push_back(gf.finding);
        int code = why.empty() ? CheckExitCode(plain) : (int)kLevelError;
        if (code > worst) worst = code;

        if (o.json) {
            json.BeginObject().Key("path").String(path).Key("kind").String(KindName(c.kind)).Key("error");
            if (why.empty()) json.Null(); else json.String(why);
            json.Key("findings").BeginArray();
            static const char *kLevels[] = {"note", "warning", "error"};
            for (const GroupFinding &gf : findings) {
                const Finding &f = gf.finding;
                json.BeginObject().Key("level").String(kLevels[f.level]).Key("code").String(FindingCodeName(f.code));
                json.Key("group");
                if (gf.group.empty()) json.Null(); else json.String(gf.group);
                json.Key("frame");
                if (f.frame >= 0) json.Number(f.frame); else json.Null();
                json.Key("image");
                if (f.image >= 0) json.Number(f.image); else json.Null();
                json.Key("message").String(FindingMessage(f)).EndObject();
            }
            json.EndArray().Key("picks").BeginArray();
            for (const GroupPicks &p : picks) {
                json.BeginObject().Key("group").String(p.group).Key("sizes").BeginArray();
                for (size_t i = 0; i < p.image.size(); ++i) {
                    json.BeginObject().Key("size").Number(kPickSizes[i]).Key("image");
                    if (p.image[i] >= 0) json.Number(p.image[i]); else json.Null();
                    json.EndObject();
                }
                json.EndArray().EndObject();
            }
            json.EndArray().Key("exit").Number(code).EndObject();
            continue;
        }
        std::string out = path + (failure == kContainerOk ? " (" + KindText(c.kind) + ")" : std::string()) + "\n";
        std::vector<std::vector<std::string>> rows;
        int counts[3] = {0, 0, 0};
        if (!why.empty()) rows.push_back({ToolboxText(IDS_TB_LEVEL_ERROR), ToolboxText(IDS_TB_WHERE_FILE), why});
        for (const GroupFinding &gf : findings) {
            const Finding &f = gf.finding;
            ++counts[f.level];
            std::string place = FindingPlace(f);
            if (!gf.group.empty()) place = ToolboxFormat(IDS_TB_WHERE_GROUP, gf.group.c_str()) + " " + place;
            rows.push_back({ToolboxText(IDS_TB_LEVEL_NOTE + f.level), place, FindingMessage(f)});
        }
        if (!rows.empty()) out += FormatColumns(rows, 2);
        for (const GroupPicks &p : picks) {
            std::string line = "  " + ToolboxText(IDS_TB_PICKS);
            if (c.kind == kContainerModule) line += " (" + ToolboxFormat(IDS_TB_WHERE_GROUP, p.group.c_str()) + ")";
            if (c.kind == kContainerAni) line += " (" + ToolboxFormat(IDS_TB_WHERE_FRAME, atoi(p.group.c_str())) + ")";
            line += ":";
            for (size_t i = 0; i < p.image.size(); ++i)
                line += "  " + (p.image[i] >= 0 ? ToolboxFormat(IDS_TB_PICK, kPickSizes[i], p.image[i])
                                                : ToolboxFormat(IDS_TB_PICK_NONE, kPickSizes[i]));
            out += line + "\n";
        }
        if (why.empty())
            out += "  " + (findings.empty() ? ToolboxText(IDS_TB_CLEAN)
                                            : ToolboxFormat(IDS_TB_TOTALS, counts[kLevelError], counts[kLevelWarning],
                                                     counts[kLevelNote])) + "\n";
        ToolboxPrint(out);
    }
    json.EndArray().Key("exit").Number(worst).EndObject();
    if (o.json) ToolboxPrint(json.text() + "\n");
    return worst;
}

}  // namespace

bool IsToolboxCommand(const char *word) {
    ToolboxCommand command;
    return ToolboxCommandFromWord(word, &command);
}

int RunToolbox(int argc, char **argv) {
    ToolboxCommand command;
    if (argc < 2 || !ToolboxCommandFromWord(argv[1], &command)) return kExitUsage;
    std::vector<std::string> words(argv + 2, argv + argc);
    ToolboxOptions options;
    std::string bad;
    ToolboxOptionError error = ParseToolboxOptions(command, words, &options, &bad);
    ComplainOption(error, bad);
    static const UINT kUsage[] = {IDS_TB_USAGE_LIST, IDS_TB_USAGE_EXTRACT, IDS_TB_USAGE_CHECK};
    if (error != kOptOk) {
        fprintf(stderr, "%s\n", ToolboxFormat(IDS_TB_SEE_HELP, argv[1]).c_str());
        return kExitUsage;
    }
    if (options.help) {
        ToolboxPrint(ToolboxText(kUsage[command]));
        return kExitOk;
    }
    switch (command) {
    case kToolList: return List(options);
    case kToolExtract: return Extract(options);
    case kToolCheck: return Check(options);
    }
    return kExitUsage;
}

void PrintToolboxCommands() { ToolboxPrint(ToolboxText(IDS_TB_USAGE_COMMANDS)); }
