// The quorbit1 package: the calculator with its own rules, compiled to WebAssembly, for node
// and browsers alike. The WebAssembly is inside quorbit1-module.mjs; nothing is fetched.
import createQuorbit1 from './quorbit1-module.mjs';
import { createCalculator as createOver } from './calculator.mjs';

export { browserStorage } from './calculator.mjs';

// A new calculator: degrees, the slots X Y Z T at 0, no history unless asked for.
export function createCalculator() {
  return createOver({ factory: createQuorbit1 });
}
