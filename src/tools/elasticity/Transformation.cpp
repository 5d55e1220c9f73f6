#include "tools/elasticity/Transformation.h"

#include "core/Conversions.h"

namespace brantel {

Matrix3 TransformTensor(const Matrix3& cosines, const Matrix3& tensor) {
  Matrix3 out{};
  for (std::size_t i = 0; i < 3; ++i) {
    for (std::size_t j = 0; j < 3; ++j) {
      float sum = 0.0f;
      for (std::size_t k = 0; k < 3; ++k) {
        for (std::size_t l = 0; l < 3; ++l) {
          const double term = static_cast<double>(cosines[i][k]) * cosines[j][l] * tensor[k][l];
          sum = CheckedFloat(static_cast<double>(sum) + term);
        }
      }
      out[i][j] = sum;
    }
  }
  return out;
}

Vector3 TransformVector(const Matrix3& cosines, const Vector3& vector) {
  Vector3 out{};
  for (std::size_t i = 0; i < 3; ++i) {
    float sum = 0.0f;
    for (std::size_t j = 0; j < 3; ++j) {
      sum = CheckedFloat(static_cast<double>(sum) + static_cast<double>(cosines[i][j]) * vector[j]);
    }
    out[i] = sum;
  }
  return out;
}

TransformData CalcTransformation(TransformData data) {
  if (data.Option == TransformOperand::Vector) {
    data.NewVector = TransformVector(data.Cosines, data.Vector);
  } else {
    data.NewTensor = TransformTensor(data.Cosines, data.Tensor);
  }
  return data;
}

}  // namespace brantel
