// Which vector instructions the processor running the program has, for the
// kernels built for more than the registers every machine of the
// architecture has. Asked once: the answers cannot change while the
// program runs.
#pragma once

namespace processor_features {

// The count of a word's set bits in one instruction.
bool HasPopcount();
// 256-bit integer vectors.
bool HasAvx2();
// The three-input logic and masked operations of the 512-bit extensions,
// also on 256-bit registers.
bool HasVectorLogic();
// The bit gather of 64-bit lanes into a mask.
bool HasBitGather();
// The byte permutes and the 8 x 8 bit-matrix instruction of 512-bit registers.
bool HasBitTurn();

}  // namespace processor_features
