#pragma once

#include "vstgui/lib/cfileextension.h"
#include "vstgui/lib/platform/ifiledialog.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace VSTGUI {

class CFrame;

// The window system's file-open, file-save or folder dialog. GUI thread only.
class CNewFileSelector : public CBaseObject {
public:
    enum Style { kSelectFile = 0, kSelectSaveFile, kSelectDirectory };
    using CallbackFunc = std::function<void(CNewFileSelector* selector)>;
    // Test hook: answers instead of the dialog (paths, or nullopt for cancel).
    using TestResponder = std::function<std::optional<std::vector<std::string>>(const FileDialogRequest&)>;

    // The caller owns the returned reference.
    static CNewFileSelector* create(CFrame* frame = nullptr, Style style = kSelectFile);
    ~CNewFileSelector() override;

    void setTitle(const UTF8String& title);
    void setDefaultSaveName(const UTF8String& name);
    // Its extension is appended to a chosen save path that lacks it.
    void setDefaultExtension(const CFileExtension& extension);
    void addFileExtension(const CFileExtension& extension);

    // Blocks until the dialog ends, keeping the frame painted; true when something was chosen.
    bool runModal();
    // Returns at once; `callback` runs from the frame's idle once the dialog has ended (also when
    // cancelled: then getNumSelectedFiles() is 0). False when no dialog could be started.
    bool run(CallbackFunc callback);

    uint32 getNumSelectedFiles() const { return static_cast<uint32>(selected.size()); }
    // Null out of range.
    UTF8StringPtr getSelectedFile(uint32 index) const;

    const FileDialogRequest& getRequest() const { return request; }
    static void setTestResponder(TestResponder responder);

private:
    CNewFileSelector(CFrame* frame, Style style);
    void takeResult(std::vector<std::string> paths);
    void pollUntilDone(CallbackFunc callback);

    CFrame* frame;
    FileDialogRequest request;
    std::unique_ptr<IPlatformFileDialog> dialog;
    std::vector<std::string> selected;
};

} // namespace VSTGUI
