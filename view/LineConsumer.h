// ILineConsumer: the receiver of the pieces the line builder makes (line store, detail store).
#pragma once

class CLinePiece;

class ILineConsumer {
public:
    // Takes one piece; 0 refuses it, which stops the build of the current text run.
    virtual int Feed(const CLinePiece& piece) = 0;
    // Runs once the requested range has been streamed.
    virtual void EndBuild() = 0;

protected:
    virtual ~ILineConsumer() = default;
};
